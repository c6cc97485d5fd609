list(APPEND QUOREL_GUI_SOURCES
    shell/commandicons.cpp shell/commandicons.h
    shell/editedfilewatcher.cpp shell/editedfilewatcher.h
    shell/editorlauncher.cpp shell/editorlauncher.h
    shell/filecommands.cpp shell/filecommands.h
    shell/mainactions.cpp shell/mainactions.h
    shell/mainstatusbar.cpp shell/mainstatusbar.h
    shell/mainwindow.cpp shell/mainwindow.h
    shell/startgeometry.cpp shell/startgeometry.h
    shell/traycontroller.cpp shell/traycontroller.h
    shell/viewcommands.cpp shell/viewcommands.h
)
