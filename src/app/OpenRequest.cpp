#include "OpenRequest.h"

namespace wabunko {
namespace {
// The first string of a message in this form. It is not an absolute path nor empty, so no
// list of paths begins with it.
QString mark() { return QStringLiteral("wabunko:open:2"); }
QString codeTag() { return QStringLiteral("code:"); }
QString fileTag() { return QStringLiteral("file:"); }
// The bytes go one to a character (Latin-1), which keeps every byte as it is.
QString textTag() { return QStringLiteral("text:"); }
}  // namespace

QString OpenRequest::firstPath() const {
  for (const Item& item : items)
    if (!item.isText()) return item.path;
  return {};
}

QStringList OpenRequest::toMessage() const {
  QStringList message{mark(), codeTag() + QString::number(static_cast<int>(code))};
  for (const Item& item : items)
    message << (item.isText() ? textTag() + QString::fromLatin1(item.text) : fileTag() + item.path);
  return message;
}

OpenRequest OpenRequest::fromMessage(const QStringList& message) {
  OpenRequest request;
  if (message.value(0) != mark()) {
    for (const QString& path : message)
      if (!path.isEmpty()) request.items.append({path, {}});
    return request;
  }
  // Parts this version does not know are passed over: a newer start may add some.
  for (const QString& part : message.mid(1)) {
    if (part.startsWith(codeTag())) {
      const int code = part.mid(codeTag().size()).toInt();
      if (code >= static_cast<int>(CharCode::ShiftJis) && code <= static_cast<int>(CharCode::InternetForm))
        request.code = static_cast<CharCode>(code);
    } else if (part.startsWith(fileTag()) && part.size() > fileTag().size()) {
      request.items.append({part.mid(fileTag().size()), {}});
    } else if (part.startsWith(textTag())) {
      request.items.append({{}, part.mid(textTag().size()).toLatin1()});
    }
  }
  return request;
}

}  // namespace wabunko
