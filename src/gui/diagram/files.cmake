list(APPEND QUOREL_GUI_SOURCES
    diagram/sizing.cpp diagram/sizing.h
)
set(QUOREL_PAINTER_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/pictureplayer.cpp ${CMAKE_CURRENT_LIST_DIR}/pictureplayer.h
)
