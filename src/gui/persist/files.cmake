list(APPEND QUOREL_GUI_SOURCES
    persist/recentfileswidget.cpp persist/recentfileswidget.h
    persist/settingsstore.cpp persist/settingsstore.h
    persist/windowpersistence.cpp persist/windowpersistence.h
)
