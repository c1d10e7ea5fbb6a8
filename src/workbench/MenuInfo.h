// The plug-in's menu declarations as the host reads them: parent menus
// ("$$tkvmenu#10007=28,1,Tkv厂家发票管理": marker, menu key, plug-in number, two values of the host's,
// caption) and entries ("10007=厂家品种发票图片关联管理,TkvjobLink": plug-in number, caption, export),
// one per line. Lines that follow neither form are passed over.
#pragma once

#include <string>
#include <vector>

namespace tkv::workbench {

struct TParentMenu {
    std::string Key;
    int PlugId = 0;
    int Value1 = 0, Value2 = 0;
    std::string Caption;
};

struct TMenuEntry {
    int PlugId = 0;
    std::string Caption;
    std::string Export;
};

std::vector<TParentMenu> ParseParentMenus(const std::string& text);
std::vector<TMenuEntry> ParseMenuEntries(const std::string& text);

} // namespace tkv::workbench
