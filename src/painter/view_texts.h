#pragma once

#include <string_view>

#include <QString>

namespace rk7 {

// A text the core gives the views to paint (a column's caption, a position plot's title) in the
// user's language: translated where the program installed a translation, as it is in
// rk7power-render, which installs none.
QString ViewText(std::string_view english);
// Every such text as ViewText gives it, one per line: what a translation changes in the views.
QString AllViewTexts();

} // namespace rk7
