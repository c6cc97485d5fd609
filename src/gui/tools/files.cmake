list(APPEND QUOREL_GUI_SOURCES
    tools/aboutbox.cpp tools/aboutbox.h
    tools/converterwindow.cpp tools/converterwindow.h
    tools/desktopdefaults.cpp tools/desktopdefaults.h
    tools/helpcommand.cpp tools/helpcommand.h
    tools/htmlreportcommand.cpp tools/htmlreportcommand.h
    tools/interfacelanguage.cpp tools/interfacelanguage.h
    tools/programicon.cpp tools/programicon.h
    tools/randomgraphprompt.cpp tools/randomgraphprompt.h
    tools/toolcommands.cpp tools/toolcommands.h
)
