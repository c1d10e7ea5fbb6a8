// Change notification for renderers: a form carries at most one observer, told of every change of
// a property that a renderer shows, whichever code made it (the window's handlers, the toolkit's
// own rules, the renderer writing back what the user did). The window's own event slots (OnChange,
// OnClick, ...) stay the window's.
#pragma once

#include <cstdint>

namespace tkv {

class TComponent;

enum class TProperty : std::uint8_t {
    Caption, // a control's caption, or the form's caption
    Text,    // an edit's text and caret
    Bounds,  // a control's bounds, or the form's size
    Visible,
    Enabled,
    ReadOnly,
    Font,
    Color,
    TabOrder,      // a control's place in its container's tab order
    ButtonVisible, // the button at an edit's right end
    Items,         // the items of a drop-down list or radio group
    ItemIndex,
    Checked,
    Date,
    Picture,     // a picture slot's picture or background
    GridColumns, // the grid's declared or shown columns
    GridData,    // the grid's dataset (rows)
    GridTicks,   // the tick column's cells
    GridRow,     // the grid's current row
    ScrollRange,
    ScrollPosition,
    TimerState, // a timer's enabled state or interval
    Focus,      // the form's active control
};

class IFormObserver {
public:
    virtual ~IFormObserver() = default;
    // component is nullptr for a property of the form itself.
    virtual void PropertyChanged(TComponent* component, TProperty property) = 0;
};

} // namespace tkv
