#pragma once

// The texts the workflow shows.

#include <QString>

namespace sumbrook::workflow {

inline const QString kPending = QStringLiteral("待校验");
inline const QString kChecked = QStringLiteral("已校验");

inline const QString kStatusReady = QStringLiteral("准备就绪");
inline const QString kStatusCountPrefix = QStringLiteral("待计算的文件总数:");
inline const QString kStatusCalculating = QStringLiteral("正在计算，请稍候。");
inline const QString kStatusDone = QStringLiteral("计算完毕");

inline const QString kResultSeparator = QStringLiteral("：");
inline const QString kCrcName = QStringLiteral("CRC32_FCS32");
inline const QString kReadError = QStringLiteral("读取文件错误");
inline const QString kCrcErrorLine = kCrcName + kResultSeparator + kReadError;
inline const QString kDigestErrorLine = kResultSeparator + kReadError;
inline const QString kErrorSuffix = QStringLiteral("错误");

inline const QString kCopyAllHeader = QStringLiteral("Sumbrook校验结果：\r\n\r\n");
inline const QString kDefaultResultFileName = QStringLiteral("SumbrookResult.txt");

inline QString CountText(int entries)
{
    return kStatusCountPrefix + QString::number(entries);
}

} // namespace sumbrook::workflow
