list(APPEND QUOREL_GUI_SOURCES
    diagram/colorpicker.cpp diagram/colorpicker.h
    diagram/colorswatch.cpp diagram/colorswatch.h
    diagram/stylecombobox.cpp diagram/stylecombobox.h
    diagram/stylebar.cpp diagram/stylebar.h
    diagram/optionsbar.cpp diagram/optionsbar.h
    diagram/descriptionbar.cpp diagram/descriptionbar.h
    diagram/diagramcommands.cpp diagram/diagramcommands.h
    diagram/diagramexport.cpp diagram/diagramexport.h
    diagram/diagramview.cpp diagram/diagramview.h
    diagram/pictureplacement.cpp diagram/pictureplacement.h
    diagram/picturewidget.cpp diagram/picturewidget.h
    diagram/previewwindow.cpp diagram/previewwindow.h
)
set(QUOREL_PAINTER_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/pictureplayer.cpp ${CMAKE_CURRENT_LIST_DIR}/pictureplayer.h
)
