// Texts and colours of the toolkit-free program as Qt values.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <string_view>

namespace antraid {

inline QString QtText(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A colour written RGB(r, g, b) by the program.
inline QColor ColorOf(uint32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

}  // namespace antraid
