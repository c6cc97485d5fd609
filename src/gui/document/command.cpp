#include "gui/document/command.h"

namespace quorel {

const char *commandObjectName(CommandId id)
{
    switch (id) {
    case CommandId::New:
        return "newAction";
    case CommandId::Open:
        return "openAction";
    case CommandId::SaveGraph:
        return "saveGraphAction";
    case CommandId::SaveHtml:
        return "saveHtmlAction";
    case CommandId::Print:
        return "printAction";
    case CommandId::Exit:
        return "exitAction";
    case CommandId::EditData:
        return "editDataAction";
    case CommandId::CopyGraph:
        return "copyGraphAction";
    case CommandId::ToggleToolBar:
        return "toggleToolBarAction";
    case CommandId::ToggleTable:
        return "toggleTableAction";
    case CommandId::ToggleOptionsBar:
        return "toggleOptionsBarAction";
    case CommandId::ToggleDescriptionBar:
        return "toggleDescriptionBarAction";
    case CommandId::ToggleStatusBar:
        return "toggleStatusBarAction";
    case CommandId::Refresh:
        return "refreshAction";
    case CommandId::ShowErrors:
        return "showErrorsAction";
    case CommandId::FullScreen:
        return "fullScreenAction";
    case CommandId::FitToWindow:
        return "fitToWindowAction";
    case CommandId::Enlarge:
        return "enlargeAction";
    case CommandId::Reduce:
        return "reduceAction";
    case CommandId::Converter:
        return "converterAction";
    case CommandId::RandomGraph:
        return "randomGraphAction";
    case CommandId::CircularReport:
        return "circularReportAction";
    case CommandId::StereonetReport:
        return "stereonetReportAction";
    case CommandId::Help:
        return "helpAction";
    case CommandId::About:
        return "aboutAction";
    case CommandId::ShowDiagram:
        return "showDiagramAction";
    case CommandId::ShowStatistics:
        return "showStatisticsAction";
    }
    return "";
}

} // namespace quorel
