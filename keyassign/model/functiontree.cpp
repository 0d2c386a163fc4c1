#include "keyassign/model/functiontree.h"

#include "keyboardstate/keytables.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

std::vector<FunctionTreeItem> functionTreeItems(std::int16_t languageCode) {
    std::vector<FunctionTreeItem> items;
    int groupIndex = -1;
    BasicFunctionGroup current = BasicFunctionGroup::TopLevel;
    for (const BasicFunction& row : BasicFunctionTable) {
        if (row.group != BasicFunctionGroup::TopLevel && row.group != current) {
            groupIndex = static_cast<int>(items.size());
            items.push_back({basicFunctionGroupName(row.group, languageCode), -1, true});
        }
        current = row.group;
        const int parent = row.group == BasicFunctionGroup::TopLevel ? -1 : groupIndex;
        items.push_back({basicFunctionName(row, languageCode), parent, false});
    }
    return items;
}

bool isFunctionGroupText(std::u16string_view text) {
    for (auto group : {BasicFunctionGroup::Media, BasicFunctionGroup::Shortcut, BasicFunctionGroup::Windows}) {
        if (text == basicFunctionGroupName(group, kLanguageEnglish) ||
            text == basicFunctionGroupName(group, kLanguageChinese)) {
            return true;
        }
    }
    return false;
}

}  // namespace orvane
