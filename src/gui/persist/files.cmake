list(APPEND QUOREL_GUI_SOURCES
    persist/settingsstore.cpp persist/settingsstore.h
)
