list(APPEND QUOREL_GUI_SOURCES
    tools/converterwindow.cpp tools/converterwindow.h
)
