# pack_image_set(TARGET PAINTER BMP_DIR OUT COMMENT): runs the program PAINTER
# with BMP_DIR to write 00.bmp .. 47.bmp there, then packs them in index order
# at 16 bits per pixel with the library's dat tool into OUT. The target
# TARGET (built by default) stands for OUT.
find_program(DAT_TOOL dat REQUIRED)

function(pack_image_set target painter bmp_dir out comment)
  set(bmps)
  foreach(i RANGE 0 47)
    if(i LESS 10)
      list(APPEND bmps ${bmp_dir}/0${i}.bmp)
    else()
      list(APPEND bmps ${bmp_dir}/${i}.bmp)
    endif()
  endforeach()
  add_custom_command(
    OUTPUT ${out} ${bmps}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bmp_dir}
    COMMAND ${painter} ${bmp_dir}
    COMMAND ${CMAKE_COMMAND} -E remove -f ${out}
    COMMAND ${DAT_TOOL} -a -t BMP -bpp 16 -n0 -s1 ${out} ${bmps}
    DEPENDS ${painter}
    COMMENT "${comment}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${out})
endfunction()
