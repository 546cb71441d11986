#pragma once

// Marks a string for the GUI's translations (lupdate finds it) without making the core depend on
// Qt: the core uses the English text as it is, and the GUI looks it up with
// QCoreApplication::translate(scope, text).
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
