#include "doc/LoadRefusal.h"

#include <QFileInfo>
#include <QObject>

namespace wabunko {
namespace {

constexpr qint64 kMegabyte = qint64{1} << 20;

QString refusal(const QString& path, const QString& reason) {
  return QObject::tr("ファイル %1 を開けません。\n%2").arg(path, reason);
}

}  // namespace

std::optional<QString> loadRefusal(const QString& path) {
  // Links are followed: what counts is what would be read.
  const QFileInfo info(path);
  if (!info.exists()) return std::nullopt;
  if (info.isDir()) return refusal(path, QObject::tr("フォルダです。"));
  if (!info.isFile()) return refusal(path, QObject::tr("通常のファイルではありません。パイプやデバイスは開けません。"));
  if (info.size() > kMaxLoadBytes) {
    const qint64 megabytes = (info.size() + kMegabyte - 1) / kMegabyte;
    return refusal(path, QObject::tr("ファイルが大きすぎます (%1 MB)。開けるのは %2 MB までです。")
                             .arg(megabytes)
                             .arg(kMaxLoadBytes / kMegabyte));
  }
  return std::nullopt;
}

}  // namespace wabunko
