# Copies every .rht template from SRC into DST, leaving other files in DST alone.
file(GLOB templates "${SRC}/*.rht")
foreach(t IN LISTS templates)
    file(COPY "${t}" DESTINATION "${DST}")
endforeach()
