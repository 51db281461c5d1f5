#pragma once

#include <QProcess>
#include <QString>

namespace voltaryn::testing {

// The PDF's text as laid out on the page; pages end with a form feed.
inline QString PdfText(const QString& pdf)
{
    QProcess extract;
    extract.start("pdftotext", {"-layout", pdf, "-"});
    extract.waitForFinished();
    return QString::fromUtf8(extract.readAllStandardOutput());
}

} // namespace voltaryn::testing
