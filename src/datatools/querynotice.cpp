#include "querynotice.h"

#include "core/text.h"

namespace datatools {

QString describeCondition(const storage::Fields &fields, int field, const QString &operatorText,
                          const QString &valueText)
{
    QString name;
    if (field < 0)
        name = QStringLiteral("（未选字段）");
    else if (field >= fields.size())
        name = QStringLiteral("（第 %1 个字段，本表没有）").arg(field + 1);
    else
        name = QStringLiteral("“%1”").arg(fields[field].name);
    const QString op = operatorText.isEmpty() ? QStringLiteral("（无运算符）") : operatorText;
    return QStringLiteral("%1 %2 “%3”").arg(name, op, core::trimBlanks(valueText));
}

QString filterNotice(const QString &condition, bool operatorKnown, bool failed)
{
    if (!operatorKnown)
        return QStringLiteral("数据查询已开启：条件 %1 的运算符不可用，显示全部行。").arg(condition);
    if (failed)
        return QStringLiteral("数据查询已开启：条件 %1 不适用于本表，无法判断的行照常显示。").arg(condition);
    return QStringLiteral("数据查询已开启：只显示 %1 的行。按“撤销查询”显示全部行。").arg(condition);
}

QString wrongConditionMessage(const QString &condition)
{
    return QStringLiteral("查询条件不对或所选的字段不支持查询\n条件来自“数据查询”窗口：%1").arg(condition);
}

} // namespace datatools
