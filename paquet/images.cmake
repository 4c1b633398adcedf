# The program's seven pictures are drawn once, as SVG: paquet/zor.svg (the program's icon, also
# the window's: "fenetre") and paquet/images/NOM.svg (the buttons and the about box). Each front
# end gets them as pixels rendered here at build time, by rsvg-convert (librsvg2-bin): the Qt
# window as PNG files in its resources, the Windows program as .ico files in its resources.
find_program(ZOR_RSVG_CONVERT rsvg-convert REQUIRED)

# The names the front ends know the pictures by (ihm/controle.h, Image).
set(ZOR_IMAGES fenetre ok ouvrir ecrire lire sortie apropos)

function(zor_image_svg nom resultat)
  if(nom STREQUAL "fenetre")
    set(${resultat} ${PROJECT_SOURCE_DIR}/paquet/zor.svg PARENT_SCOPE)
  else()
    set(${resultat} ${PROJECT_SOURCE_DIR}/paquet/images/${nom}.svg PARENT_SCOPE)
  endif()
endfunction()

# zor_images_png(VARIABLE DOSSIER NOM COTE [COTE...]): DOSSIER/NOM-COTE.png for each side, in
# pixels; VARIABLE gets their paths added.
function(zor_images_png variable dossier nom)
  zor_image_svg(${nom} svg)
  set(fichiers ${${variable}})
  foreach(cote ${ARGN})
    set(png ${dossier}/${nom}-${cote}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dossier}
      COMMAND ${ZOR_RSVG_CONVERT} --width=${cote} --height=${cote} --output=${png} ${svg}
      DEPENDS ${svg}
      COMMENT "Image ${nom} en ${cote} pixels"
      VERBATIM)
    list(APPEND fichiers ${png})
  endforeach()
  set(${variable} ${fichiers} PARENT_SCOPE)
endfunction()
