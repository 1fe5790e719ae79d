// SPDX-License-Identifier: MIT

#include "homework/command_kind.h"

namespace quillory {

using namespace Qt::StringLiterals;

QString commandCaption(CommandKind kind)
{
    switch (kind) {
    case CommandKind::AddClass: return u"Add Class"_s;
    case CommandKind::EditClass: return u"Edit Selected Class"_s;
    case CommandKind::DeleteClass: return u"Delete Selected Class"_s;
    case CommandKind::ClearData: return u"Clear/Reset Data"_s;
    case CommandKind::LoadSample: return u"Load Sample/Example Data"_s;
    case CommandKind::NewWeek: return u"Start a New Week"_s;
    case CommandKind::MoveUp: return u"Move Up"_s;
    case CommandKind::MoveDown: return u"Move Down"_s;
    case CommandKind::RestoreEarlier: return u"Restore Earlier List"_s;
    case CommandKind::RecoverSession: return u"Recover Last Session"_s;
    case CommandKind::Typing: return u"Typing"_s;
    case CommandKind::DateChange: return u"Date Change"_s;
    }
    return {};
}

std::optional<CommandKind> commandKindFrom(int number)
{
    if (number < int(CommandKind::AddClass) || number > int(CommandKind::DateChange))
        return std::nullopt;
    return CommandKind(number);
}

bool keepsReplacedList(CommandKind kind)
{
    switch (kind) {
    case CommandKind::ClearData:
    case CommandKind::LoadSample:
    case CommandKind::NewWeek:
    case CommandKind::DeleteClass:
    case CommandKind::RestoreEarlier: return true;
    default: return false;
    }
}

} // namespace quillory
