// The pictures of the main window's buttons: each is a raised grey button of 21 by
// 21 pixels carrying its symbol, drawn here, or for the search read from its file.
#pragma once

#include <QPixmap>

namespace tovmir {

QPixmap helpPicture();    // picHelp: a yellow question mark
QPixmap latinPicture();   // picLatin: a yellow cross
QPixmap agePicture();     // picAge: a dark cross and a yellow star
QPixmap notisPicture();   // picNotis: a crown, a sword and a ringed cross
QPixmap blankPicture();   // the raised square alone
// picFind: a magnifying glass on the raised square, read from Find.xpm in the
// working folder beside the flags; the raised square alone where it is missing.
QPixmap findPicture();

}  // namespace tovmir
