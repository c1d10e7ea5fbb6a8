// The base of everything a form owns: a name and the owning form. Forms create components through
// TForm::Make and own them; the creation order is the order of the form's component list.
#pragma once

#include "FormObserver.h"

#include <functional>
#include <string>

namespace tkv {

class TForm;
class TComponent;

using TNotifyEvent = std::function<void(TComponent& sender)>;

class TComponent {
public:
    virtual ~TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    virtual std::string ClassName() const = 0;
    const std::string& Name() const { return name_; }
    TForm* Owner() const { return owner_; }

protected:
    TComponent() = default;
    // Tells the owning form's observer that a shown property changed.
    void NotifyChanged(TProperty property);

private:
    friend class TForm;
    std::string name_;
    TForm* owner_ = nullptr;
};

} // namespace tkv
