list(APPEND QUOREL_GUI_SOURCES
    document/document.cpp document/document.h document/programcaption.h
    document/viewstate.cpp document/viewstate.h
)
