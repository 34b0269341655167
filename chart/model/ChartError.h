#pragma once

// Something the chart cannot take (a price file, a drawings file, a tool's parameters), with a
// message for the user that says what and where.

#include <QString>

#include <stdexcept>

namespace zarvchart {

class ChartError : public std::runtime_error {
public:
    explicit ChartError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};

} // namespace zarvchart
