// The man page and the bash, zsh and fish completions know every option --help lists and
// every output format, and the man page every exit status, so none of them falls behind the
// program.
#include "cli/ScanCommand.h"
#include "cli/ScanExitStatus.h"
#include "cli/ScanHelp.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <sstream>

namespace {

QString sourceFile(const char* relative) {
    QFile file(QStringLiteral(CODEORCHARDIST_SOURCE_DIR "/") + QLatin1String(relative));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QStringList formatsFromHelp() {
    std::ostringstream out, err;
    runScanCommand({"--help"}, out, err);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("output format: ([a-z, ]+) \\(")).match(QString::fromStdString(out.str()));
    return m.hasMatch() ? m.captured(1).split(QStringLiteral(", ")) : QStringList();
}

TEST(ShellCompletion, ManPageAndCompletionsNameEveryOptionAndFormat) {
    const QStringList formats = formatsFromHelp();
    ASSERT_EQ(formats.size(), 4) << "the help names the formats";
    struct Source {
        const char* path;
        // How the file writes "--max-depth": the man page escapes each dash, fish drops them.
        QString (*spelling)(const QString& option);
    };
    const Source sources[] = {
        {"docs/man/codeorchardist-scan.1", [](const QString& o) { return QString(o).replace("-", "\\-"); }},
        {"src/cli/completions/codeorchardist-scan.bash", [](const QString& o) { return o; }},
        {"src/cli/completions/_codeorchardist-scan", [](const QString& o) { return o; }},
        {"src/cli/completions/codeorchardist-scan.fish", [](const QString& o) { return "-l " + o.mid(2); }},
    };
    for (const Source& source : sources) {
        const QString text = sourceFile(source.path);
        ASSERT_FALSE(text.isEmpty()) << source.path;
        for (const ScanOptionHelp& option : scanOptionTable()) {
            const QString spelled = source.spelling(QString::fromLatin1(option.name));
            const QRegularExpression word(QRegularExpression::escape(spelled) + "(?![a-z\\\\-])");
            EXPECT_TRUE(word.match(text).hasMatch()) << source.path << " lacks " << option.name;
        }
        for (const QString& format : formats)
            EXPECT_TRUE(text.contains(format)) << source.path << " lacks the format " << format.toStdString();
    }
}

TEST(ShellCompletion, ManPageNamesEveryExitStatus) {
    const QString page = sourceFile("docs/man/codeorchardist-scan.1");
    const qsizetype section = page.indexOf(QStringLiteral(".SH EXIT STATUS"));
    ASSERT_GE(section, 0);
    const QString statuses = page.mid(section, page.indexOf(QStringLiteral(".SH "), section + 1) - section);
    for (const scanexit::StatusHelp& s : scanexit::statusTable())
        EXPECT_TRUE(statuses.contains(QStringLiteral("\n.B %1\n").arg(s.status))) << "exit status " << s.status;
}

} // namespace
