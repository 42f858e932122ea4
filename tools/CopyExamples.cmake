# Copies the sample models that the program ships into the program folder.
file(GLOB models "${SRC}/*.mod")
foreach(model ${models})
  file(COPY ${model} DESTINATION ${DST})
endforeach()
