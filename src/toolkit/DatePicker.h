// A date picker: an edit with a drop-down calendar holding one date (whole days in date mode); the
// text shows it as yyyy-mm-dd. Choosing a date fires the change event.
#pragma once

#include "../framework/BasicTypes.h"
#include "../framework/Variant.h"
#include "Control.h"

namespace tkv {

enum class TDateFormat : std::uint8_t { dfShort, dfLong };
enum class TDateMode : std::uint8_t { dmComboBox, dmUpDown };
enum class TDateType : std::uint8_t { dtDate, dtTime, dtDateTime };

class TDatePicker : public TControl {
public:
    TDatePicker() { SetTabStop(true); }
    std::string ClassName() const override { return "TDatePicker"; }
    bool Focusable() const override { return true; }

    TDateTime GetDate() const { return date_; }
    void SetDate(TDateTime date);
    std::string Text() const;

    bool AllowBlank() const { return allowBlank_; }
    void SetAllowBlank(bool allow) { allowBlank_ = allow; }
    TDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDateFormat format) { dateFormat_ = format; }
    TDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDateMode mode) { dateMode_ = mode; }
    TDateType DateType() const { return dateType_; }
    void SetDateType(TDateType type) { dateType_ = type; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool DateReadOnly() const { return dateReadOnly_; }
    void SetDateReadOnly(bool readOnly) { dateReadOnly_ = readOnly; }
    TBasicType BasicType() const { return basicType_; }
    void SetBasicType(TBasicType type) { basicType_ = type; }
    TFieldsList FieldsList() const { return fieldsList_; }
    void SetFieldsList(TFieldsList field) { fieldsList_ = field; }

    // The user picks a date in the calendar; false when the picker takes no input.
    bool ChooseDate(TDateTime date);

private:
    TDateTime date_ = 0;
    bool allowBlank_ = false;
    TDateFormat dateFormat_ = TDateFormat::dfShort;
    TDateMode dateMode_ = TDateMode::dmComboBox;
    TDateType dateType_ = TDateType::dtDate;
    bool checked_ = true;
    bool dateReadOnly_ = false;
    TBasicType basicType_ = btNo;
    TFieldsList fieldsList_ = flNull;
};

} // namespace tkv
