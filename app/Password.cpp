#include "app/Password.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace {

constexpr int iterations = 120000;
constexpr int saltBytes = 16;
constexpr int keyBytes = 32;
const QString scheme = QStringLiteral("pbkdf2-sha256");

QByteArray derive(const QString& password, const QByteArray& salt, int rounds)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt, rounds, keyBytes);
}

} // namespace

QString CodificaSenha(const QString& password)
{
    QByteArray salt(saltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), saltBytes / 4);
    const QByteArray key = derive(password, salt, iterations);
    return QStringList{scheme, QString::number(iterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(key.toBase64())}
        .join('$');
}

namespace {

// The stored form of earlier versions: each character's code raised by one
// same amount. The amount is not in the file, so every amount those versions
// could have used is tried; the password itself (an amount of 0) never counts.
bool matchesLegacy(const QString& password, const QString& stored)
{
    const QList<uint> typed = password.toUcs4();
    const QList<uint> kept = stored.toUcs4();
    if (typed.isEmpty() || typed.size() != kept.size())
        return false;
    for (uint shift = 1; shift <= 9; ++shift) {
        bool all = true;
        for (qsizetype i = 0; i < typed.size() && all; ++i)
            all = kept[i] == typed[i] + shift;
        if (all)
            return true;
    }
    return false;
}

bool isHashForm(const QString& stored)
{
    return stored.startsWith(scheme + QLatin1Char('$'));
}

} // namespace

StoredForm StoredFormOf(const QString& stored)
{
    if (stored.isEmpty())
        return StoredForm::Unreadable;
    if (!isHashForm(stored))
        return StoredForm::Legacy;
    // A hash whose parts cannot be read matches nothing.
    const QStringList parts = stored.split('$');
    bool ok = false;
    const int rounds = parts.value(1).toInt(&ok);
    const bool readable = parts.size() == 4 && ok && rounds >= 1 && rounds <= 10000000 &&
                          !QByteArray::fromBase64(parts[2].toLatin1()).isEmpty() &&
                          QByteArray::fromBase64(parts[3].toLatin1()).size() == keyBytes;
    return readable ? StoredForm::Hash : StoredForm::Unreadable;
}

bool ConfereSenha(const QString& password, const QString& stored)
{
    switch (StoredFormOf(stored)) {
    case StoredForm::Unreadable:
        return false;
    case StoredForm::Legacy:
        return matchesLegacy(password, stored);
    case StoredForm::Hash:
        break;
    }
    const QStringList parts = stored.split('$');
    const int rounds = parts[1].toInt();
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts[3].toLatin1());
    const QByteArray key = derive(password, salt, rounds);
    // Compare every byte, so the time taken says nothing of where they differ.
    unsigned char diff = 0;
    for (int i = 0; i < keyBytes; ++i)
        diff |= static_cast<unsigned char>(key[i] ^ expected[i]);
    return diff == 0;
}
