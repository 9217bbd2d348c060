// The pictures of the main window's buttons, drawn rather than stored: each is a
// raised grey button of 21 by 21 pixels carrying its symbol.
#pragma once

#include <QPixmap>

namespace tovmir {

QPixmap helpPicture();    // picHelp: a yellow question mark
QPixmap latinPicture();   // picLatin: a yellow cross
QPixmap agePicture();     // picAge: a dark cross and a yellow star
QPixmap notisPicture();   // picNotis: a crown, a sword and a ringed cross
QPixmap blankPicture();   // picPrt: the raised square alone

}  // namespace tovmir
