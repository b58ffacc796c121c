#include "ui/clipboard_mime.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tamberlin {

QString clipboardMimeType(std::string_view formatName) {
  QString name = QString::fromUtf8(formatName.data(), static_cast<qsizetype>(formatName.size()));
  name.replace(QLatin1Char('_'), QLatin1Char('-'));
  return QStringLiteral("application/x-") + name;
}

bool putClipboardBlock(std::string_view formatName, const std::vector<uint8_t>& block) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  auto* data = new QMimeData;
  data->setData(clipboardMimeType(formatName),
                QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())));
  clipboard->setMimeData(data);
  return true;
}

bool clipboardHasBlock(std::string_view formatName) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
  return data && data->hasFormat(clipboardMimeType(formatName));
}

void removeClipboardBlock(std::string_view formatName) {
  if (clipboardHasBlock(formatName)) QGuiApplication::clipboard()->clear();
}

std::optional<std::vector<uint8_t>> clipboardBlock(std::string_view formatName) {
  if (!clipboardHasBlock(formatName)) return std::nullopt;
  const QByteArray bytes = QGuiApplication::clipboard()->mimeData()->data(clipboardMimeType(formatName));
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace tamberlin
