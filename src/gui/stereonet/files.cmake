list(APPEND QUOREL_GUI_SOURCES
    stereonet/stereonetdata.cpp stereonet/stereonetdata.h
    stereonet/stereonetdocument.cpp stereonet/stereonetdocument.h
    stereonet/stereonetpanel.cpp stereonet/stereonetpanel.h
    stereonet/stereonetpage.cpp stereonet/stereonetpage.h
    stereonet/stereonetview.cpp stereonet/stereonetview.h
)
