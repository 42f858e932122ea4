# Copies the sample models that the program ships into the program folder:
# the model files, and the batch files, whose import writes its model file
# beside the copy, never into the checkout. A copy is made when there is
# none or the checkout's sample is newer; a copy the user has saved since
# (Analyze and Save write there) is kept.
file(GLOB models "${SRC}/*.mod" "${SRC}/*.mbf")
foreach(model ${models})
  get_filename_component(name ${model} NAME)
  if(NOT EXISTS "${DST}/${name}" OR "${model}" IS_NEWER_THAN "${DST}/${name}")
    file(COPY ${model} DESTINATION ${DST})
  endif()
endforeach()
