#pragma once

namespace rk7 {

class RosterView;

// The roster view as assistive technology reads it. The view is one table: the table view shown
// (View All, Teams or Drivers: its columns without the filler, its captions as column headers
// and every cell's text as painted), or, while the chart is shown, a table of the chart's bars
// and points, one a row, reading as their tips do. Only one of them is ever shown. The cell
// cursor is the accessible focus.

// Installs the interface (once for the program) and keeps assistive clients told of the view's
// switches and its cell cursor. Nothing is built while no client is active.
void MakeAccessible(RosterView* view);

// Tells assistive clients that the roster's cells the view shows have changed.
void AccessibleRosterChanged(RosterView* view);

} // namespace rk7
