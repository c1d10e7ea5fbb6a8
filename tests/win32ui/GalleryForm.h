// A window with every kind of control the renderer shows, laid out as the plug-in's windows are
// (a filter panel on top, the button panel at the bottom, a picture strip above it, the grid filling
// the rest), with handlers that record what the user did.
#pragma once

#include "toolkit/ActionButton.h"
#include "toolkit/BandGrid.h"
#include "toolkit/CheckBox.h"
#include "toolkit/GroupBox.h"
#include "toolkit/JPEGImage.h"
#include "toolkit/Label.h"
#include "toolkit/LabelComboBox.h"
#include "toolkit/LabelDateEdit.h"
#include "toolkit/ParentForm.h"
#include "toolkit/PictureSlot.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/SelectorEdit.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace uitest {

class TGalleryForm : public tkv::TParentForm {
public:
    TGalleryForm();
    std::string ClassName() const override { return "TGalleryForm"; }

    tkv::TFramePanel* pnlFilter;
    tkv::TSelectorEdit* edit_Btype;
    tkv::TSelectorEdit* edit_Jobnumber;
    tkv::TLabelDateEdit* Begindate;
    tkv::TLabelComboBox* cbox_status;
    tkv::TRadioGroup* rg_mode;
    tkv::TActionButton* btn_Query;
    tkv::TLabelBtnEdit* edit_Count;
    tkv::TBandGrid* MainGrid;
    tkv::TGroupBox* gb_Pictures;
    std::vector<tkv::TPictureSlot*> slots;
    tkv::TScrollBar* sb_Pictures;
    tkv::TLabel* lbl_Hint;
    tkv::TCheckBox* chk_All;
    tkv::TPopupMenu* pm_Picture;
    tkv::TActionButton* btn_Ok;
    tkv::TActionButton* btn_Cancel;
    tkv::TActionButton* btn_Fail;
    tkv::TActionButton* btn_Open;

    std::vector<std::string> events;
    // What btn_Open does (a nested form, the viewer); none by default.
    std::function<void()> onOpen;
    std::vector<std::shared_ptr<tkv::TJPEGImage>> pictures;
};

// A JPEG picture of that size: a colour gradient with a dark frame, numbered by its tint.
std::shared_ptr<tkv::TJPEGImage> TestPicture(int width, int height, int tint);

} // namespace uitest
