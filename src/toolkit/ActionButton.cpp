// Button click: the window's handler, then the button's modal result.
#include "ActionButton.h"

#include "Form.h"

namespace tkv {

void TActionButton::Click() {
    TControl::Click();
    if (modalResult_ != mrNone && Owner())
        Owner()->SetModalResult(modalResult_);
}

} // namespace tkv
