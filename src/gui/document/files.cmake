list(APPEND QUOREL_GUI_SOURCES
    document/command.cpp document/command.h
    document/document.cpp document/document.h document/programcaption.h
    document/readwords.cpp document/readwords.h
    document/viewstate.cpp document/viewstate.h
)
