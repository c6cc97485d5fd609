#pragma once

#include "core/util/programtexts.h"

#include <QString>

namespace quorel {

// The program's name as the windows, message boxes and tray menu show it (never translated).
inline QString programCaptionText()
{
    return QString::fromUtf8(programCaption.data(), static_cast<qsizetype>(programCaption.size()));
}

// The name the picture save dialogs propose when no data file gives one.
inline QString defaultPictureNameText()
{
    return QString::fromUtf8(defaultPictureName.data(),
                             static_cast<qsizetype>(defaultPictureName.size()));
}

} // namespace quorel
