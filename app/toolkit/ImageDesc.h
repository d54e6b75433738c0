#pragma once

#include "app/toolkit/DuiString.h"

#include <QRect>

namespace ravo {

// An image description as layouts and controls give it: either a plain file name under the
// skin folder, or attributes such as "file='keys/a.png' source='0,0,20,20' dest='2,2,22,22'
// fade='200'". Unknown attributes are ignored.
struct ImageDesc {
    CDuiString file;
    QRect source;  // part of the image to draw; null for the whole image
    QRect dest;    // where to draw, relative to the control; null for the whole control
    int fade = 255;

    bool IsEmpty() const { return file.IsEmpty(); }
};

ImageDesc ParseImageDesc(const CDuiString& text);

}  // namespace ravo
