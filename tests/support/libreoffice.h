// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace quillory::test {

/// LibreOffice run headless with a private profile, as an independent reader of our files.
class LibreOffice {
public:
    LibreOffice();

    /// Whether soffice is installed.
    bool isInstalled() const { return !m_soffice.isEmpty(); }

    /// Converts the document with the filter ("txt:Text (encoded):UTF8", "docx", "pdf") and
    /// returns the converted file's bytes; empty when LibreOffice made nothing.
    QByteArray convert(const QString& document, const QString& filter, const QString& extension);

    /// Runs the conversions in this environment from now on.
    void setEnvironment(const QProcessEnvironment& environment) { m_environment = environment; }

private:
    QString m_soffice;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QTemporaryDir m_folder;
};

} // namespace quillory::test
