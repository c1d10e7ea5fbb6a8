// The base dialog of every plug-in window that carries toolkit controls: key preview on, centred on
// the screen, the bottom button panel XwPanel1, host preparation of every toolkit control when the
// window is created, Enter to the next tab stop and F1 to the help file. Derived windows create
// their controls in the constructor, then call Create(); their DoCreate override calls this class's
// DoCreate first.
#pragma once

#include "Form.h"
#include "FormEnvironment.h"
#include "FramePanel.h"

namespace tkv {

class TBandGrid;

class TParentForm : public TForm {
public:
    TParentForm();
    std::string ClassName() const override { return "TParentForm"; }

    TFramePanel* XwPanel1 = nullptr;

    // Hands every toolkit control the window owns, in creation order, to the host for preparation.
    void InitialAllComponent();
    // Opens the plug-in's help file with the host's main window as caller (F1).
    void OpenHelp();

protected:
    void DoCreate() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;

private:
    void PrepareGrid(TBandGrid& grid, const TFormEnvironment& env);
};

} // namespace tkv
