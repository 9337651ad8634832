#include "EvidenceCommands.h"

#include "archive/Archive.h"
#include "archive/ArchiveEvidence.h"
#include "archive/ArchiveLocation.h"
#include "AuditCli.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>

namespace cli {

namespace {

struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(cli)
};

struct EvidenceOptions
{
    QString command;
    QString archive;
    QString head; // verify: a chain head a report quotes
    QStringList positional;
};

bool Parse(const QStringList& args, EvidenceOptions& o, QString* error)
{
    o.command = args.value(1);
    const bool verify = o.command == QLatin1String("verify");
    for (int i = 2; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool valued = a == QLatin1String("--archive") || a == QLatin1String("--language")
            || (verify && a == QLatin1String("--head"));
        if (valued) {
            if (i + 1 >= args.size()) {
                *error = Cli::tr("Option %1 needs a value.").arg(a);
                return false;
            }
            const QString value = args.at(++i);
            if (a == QLatin1String("--archive"))
                o.archive = value;
            else if (a == QLatin1String("--head"))
                o.head = value;
            continue;
        }
        if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            *error = Cli::tr("Unknown option: %1").arg(a);
            return false;
        }
        o.positional << a;
    }
    if (o.positional.size() != (verify ? 0 : 2)) {
        *error = Cli::tr("Wrong number of arguments.");
        return false;
    }
    if (!o.head.isEmpty() && !QRegularExpression(QStringLiteral("^[0-9a-fA-F]{64}$")).match(o.head).hasMatch()) {
        *error = Cli::tr("Unknown value for %1: %2 (use %3).").arg(QStringLiteral("--head"), o.head, Cli::tr("64 hex digits"));
        return false;
    }
    return true;
}

int Verify(Archive& archive, const EvidenceOptions& o, QTextStream& out, QTextStream& err)
{
    ArchiveSoundness soundness;
    soundness.quotedHead = o.head;
    if (!archive.verify(&soundness)) {
        err << archive.errorString() << Qt::endl;
        return Rejected;
    }
    for (const ArchiveProblem& p : soundness.problems)
        out << (p.serial.isEmpty() ? p.what : Cli::tr("%1: %2").arg(p.serial, p.what)) << '\n';
    if (soundness.sound()) {
        if (soundness.quotedHeadAt.isValid())
            out << Cli::tr("The chain reaches %1 at the import of %2.")
                       .arg(soundness.quotedHead, soundness.quotedHeadAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                << '\n';
        out << Cli::tr("Archive sound: %1, %2, chain head %3")
                   .arg(Cli::tr("%n audits", nullptr, soundness.audits), Cli::tr("%n locks", nullptr, soundness.locks),
                        soundness.chainHead)
            << '\n';
    }
    if (!FlushOutput(out, err))
        return Rejected;
    return soundness.sound() ? Success : Rejected;
}

int Audits(Archive& archive, const EvidenceOptions& o, QTextStream& out, QTextStream& err)
{
    QString serial;
    QVector<KeptAudit> audits;
    if (!archive.findLock(o.positional.first(), &serial) || !archive.keptAudits(serial, &audits)) {
        err << archive.errorString() << Qt::endl;
        return Rejected;
    }
    const QString folder = o.positional.last();
    QString failed, reason;
    if (!SaveKeptAudits(audits, folder, &failed, &reason)) {
        err << UnableToWriteText(failed, reason) << Qt::endl;
        return Rejected;
    }
    // Written as kept all the same: sha256sum -c names what changed.
    bool changed = false;
    const QStringList names = KeptAuditFileNames(audits);
    for (int k = 0; k < audits.size(); ++k)
        if (QString::fromLatin1(QCryptographicHash::hash(audits[k].content, QCryptographicHash::Sha256).toHex())
            != audits[k].sha256) {
            err << Cli::tr("%1: %2 no longer matches the SHA-256 recorded at its import.")
                       .arg(serial, QDir(folder).filePath(names[k]))
                << Qt::endl;
            changed = true;
        }
    out << Cli::tr("%n audits of lock %1 written to %2, with their SHA-256 sums in SHA256SUMS.", nullptr, audits.size())
               .arg(serial, QDir::toNativeSeparators(folder))
        << '\n';
    if (!FlushOutput(out, err))
        return Rejected;
    return changed ? Rejected : Success;
}

} // namespace

bool IsEvidenceCommand(const QString& command)
{
    return command == QLatin1String("verify") || command == QLatin1String("audits");
}

QString EvidenceUsageText(const QString& command)
{
    const QString where = Cli::tr("  --archive PATH   the archive: a SQLite file or a postgresql:// URL (default: the\n"
                                  "                   environment's CORVANE_AUDIT_ARCHIVE, then ArchiveUrl in\n"
                                  "                   Settings.ini, then archive.sqlite in the user's data folder)\n");
    if (command == QLatin1String("verify"))
        return Cli::tr("Usage: corvane-audit-cli archive verify [--archive PATH] [--head HEX]\n"
                       "Checks everything the archive keeps, reading only: every audit's bytes against\n"
                       "their SHA-256 and that they still decode; the chain of imports link by link; and\n"
                       "every lock's history and searchable events against what joining its audits again\n"
                       "gives. One line per fault and exit status 1; else the last line is\n"
                       "'Archive sound: N audits, L locks, chain head HEX'.\n"
                       "  --head HEX       a chain head a report quotes: the chain must still reach it\n")
            + where;
    return Cli::tr("Usage: corvane-audit-cli archive audits SERIAL [--archive PATH] DIR\n"
                   "Writes every kept audit of the lock exactly as it was imported, one file per\n"
                   "audit named VISIT-YYYYMMDD-HHMMSS.kaud (its visit and download date-time), and\n"
                   "SHA256SUMS, which 'sha256sum -c SHA256SUMS' checks in DIR. DIR is made if missing.\n")
        + where;
}

int RunEvidenceCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    EvidenceOptions o;
    QString error;
    if (!Parse(args, o, &error)) {
        err << error << '\n' << Cli::tr("Try 'corvane-audit-cli %1 --help'.").arg(QStringLiteral("archive ") + o.command)
            << '\n' << Qt::flush;
        return UsageError;
    }
    // Only read: never an upgrade, never a write, even to a damaged file.
    Archive archive;
    if (!archive.openReadOnly(ChooseArchiveLocation(o.archive))) {
        err << archive.errorString() << Qt::endl;
        return Rejected;
    }
    return o.command == QLatin1String("verify") ? Verify(archive, o, out, err) : Audits(archive, o, out, err);
}

} // namespace cli
