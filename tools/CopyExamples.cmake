# Copies the sample models that the program ships into the program folder:
# the model files, and the batch files, whose import writes its model file
# beside the copy, never into the checkout.
file(GLOB models "${SRC}/*.mod" "${SRC}/*.mbf")
foreach(model ${models})
  file(COPY ${model} DESTINATION ${DST})
endforeach()
