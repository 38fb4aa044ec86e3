#pragma once

namespace minamo {

// Makes Qt's accessibility (AT-SPI on Linux, as screen readers use it) present every picture
// area with the role and name of its reading (design/form_layout.h) and its spoken text as a
// read-only text. Installs the interface once; later calls do nothing.
void installPictureAccessibility();

} // namespace minamo
