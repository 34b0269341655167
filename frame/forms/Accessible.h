#pragma once

namespace ZarvLinesParm::frame {

/// Gives the forms layer's own controls the accessible interfaces that say what they are, to a
/// screen reader as to any assistive technology:
///
/// - a swatch is a push button named after its label, whose press opens the colour chooser as a
///   click does, and whose description is its colour ("#00FF00");
/// - an option button is a radio button, although Qt's own exclusion is off (Qt would call it a
///   check box);
/// - a drop-down list is named after its label, not after the entry it shows.
///
/// Also names the controls of the dialogs already open when an assistive technology starts to
/// listen (`ParmDialog::giveNames`). Installs all this once, for as long as the library is
/// loaded; later calls do nothing.
void installAccessibleInterfaces();

} // namespace ZarvLinesParm::frame
