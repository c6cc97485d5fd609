list(APPEND QUOREL_GUI_SOURCES
    shell/mainwindow.cpp shell/mainwindow.h
)
