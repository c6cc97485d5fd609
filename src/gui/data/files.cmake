list(APPEND QUOREL_GUI_SOURCES
    data/datatableaccessible.cpp data/datatableaccessible.h
    data/circularstatspanel.cpp data/circularstatspanel.h
    data/datatables.cpp data/datatables.h
    data/datatableview.cpp data/datatableview.h
    data/elapsedtime.cpp data/elapsedtime.h
    data/errorswindow.cpp data/errorswindow.h
    data/gridcelldelegate.cpp data/gridcelldelegate.h
    data/measurementmodel.cpp data/measurementmodel.h
    data/progresswindow.cpp data/progresswindow.h
    data/statsmodel.cpp data/statsmodel.h
    data/tablestyle.cpp data/tablestyle.h
)
