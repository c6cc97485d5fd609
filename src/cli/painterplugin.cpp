// The plugin quorel-cli opens for PNG, PDF and EMF output: Qt's painter and fonts in a
// QGuiApplication on the offscreen platform, so no display is ever needed.
#include "cli/painterplugin.h"

#include "core/diagram/emfwriter.h"
#include "core/util/files.h"
#include "gui/diagram/pictureplayer.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <type_traits>

using namespace quorel;
using namespace quorel::cli;

namespace {

Status writePicture(PainterFormat format, const Picture &picture, const SystemColorTable &colors,
                    const std::string &path)
{
    // Qt's own notes (a missing runtime folder, font substitutions) are not this command's
    // messages: stderr keeps the one-line failure contract.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtFatalMsg)
            std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
    });
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "quorel-cli";
    static char *argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);

    switch (format) {
    case PainterFormat::Png:
        return writePng(picture, colors, path);
    case PainterFormat::Pdf:
        return writePdf(picture, colors, path);
    case PainterFormat::Emf:
        // Character advances come from the fonts a viewer will substitute here.
        return writeFile(path, writeEmf(picture, colors, qtTextMeasure()));
    }
    return Error {"unknown picture format"};
}

} // namespace

extern "C" __attribute__((visibility("default"))) PainterResult
quorelCliWritePicture1(PainterFormat format, const Picture &picture, const SystemColorTable &colors,
                       const char *path, std::string &message)
{
    try {
        const Status written = writePicture(format, picture, colors, path);
        if (written)
            return PainterResult::Written;
        message = written.message();
        return PainterResult::Failed;
    } catch (const std::bad_alloc &) {
        return PainterResult::OutOfMemory;
    }
}

// The entry point's type must stay the one quorel-cli calls through.
static_assert(std::is_same_v<decltype(&quorelCliWritePicture1), PainterEntry>);
