#pragma once

// The texts the workflow shows.

#include <QString>

#include "digest/engine/algorithm.h"
#include "workflow/result_text.h"

namespace sumbrook::workflow {

inline const QString kPending = QStringLiteral("待校验");
inline const QString kChecked = QStringLiteral("已校验");

inline const QString kStatusReady = QStringLiteral("准备就绪");
inline const QString kStatusCountPrefix = QStringLiteral("待计算的文件总数:");
inline const QString kStatusCalculating = QStringLiteral("正在计算，请稍候。");
inline const QString kStatusDone = QStringLiteral("计算完毕");

// The result lines' texts, written once in result_text.h.
inline QString FromUtf8Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline const QString kResultSeparator = FromUtf8Text(kResultSeparatorText);
inline const QString kCrcName = FromUtf8Text(InfoOf(AlgorithmId::Crc32).Name);
inline const QString kReadError = FromUtf8Text(kReadErrorText);
inline const QString kCrcErrorLine = FromUtf8Text(Crc32ErrorLine());
inline const QString kDigestErrorLine = FromUtf8Text(DigestErrorLine());
inline const QString kErrorSuffix = QStringLiteral("错误");

inline const QString kCopyAllHeader = QStringLiteral("Sumbrook校验结果：\r\n\r\n");
inline const QString kDefaultResultFileName = QStringLiteral("SumbrookResult.txt");

inline QString CountText(int entries)
{
    return kStatusCountPrefix + QString::number(entries);
}

} // namespace sumbrook::workflow
