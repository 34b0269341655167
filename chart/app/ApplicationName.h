#pragma once

#include <QCoreApplication>

namespace zarvchart {

/// The names the user's settings and kept drawings are filed under.
inline void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("ZarvLinesParm"));
    QCoreApplication::setApplicationName(QStringLiteral("zarvchart"));
}

} // namespace zarvchart
