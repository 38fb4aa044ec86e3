#pragma once

#include <QString>

namespace minamo {

// Text for HTML (and the SVG inside it), as element content or a quoted attribute value:
// "&", "<", ">", '"' and "'" become references, so that whatever a file holds is shown as
// it is and can never become markup. Control characters, which a page cannot show, are
// shown by their visible pictures (U+2400..), never dropped.
QString htmlEscaped(const QString& text);

} // namespace minamo
