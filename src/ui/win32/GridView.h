// The band grid as a virtual list view: the list holds no items of its own, only their count; each
// cell it paints is asked of the grid model (its text as the grid shows it), so a dataset of any
// size is bound in constant time. Whole rows are selected, rows alternate their background, ticked
// rows show the tick and the grid's tick colour; double-click, Enter and Space tick through the
// model's own handling.
#pragma once

#include "ControlView.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace tkv {
class TBandGrid;
}

namespace tkv::win32ui {

class TGridView : public TControlView {
public:
    TGridView(TFormWindow& window, TBandGrid& model);
    void Create(HWND parent) override;
    void Update(TProperty property) override;
    bool Notify(NMHDR& header, LRESULT& result) override;
    bool PassKeyToNative(UINT vk) const override;

private:
    void ApplyColumns();
    void ApplyRows();
    void ApplyCurrentRow();
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);

    TBandGrid& grid_;
    std::vector<std::string> fields_; // the dataset field of each shown column
    std::wstring cell_;
    int shownRow_ = -1; // the row the list shows selected
    bool selecting_ = false;
};

} // namespace tkv::win32ui
