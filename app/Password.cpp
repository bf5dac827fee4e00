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

bool ConfereSenha(const QString& password, const QString& stored)
{
    const QStringList parts = stored.split('$');
    if (parts.size() != 4 || parts[0] != scheme)
        return false;
    bool ok = false;
    const int rounds = parts[1].toInt(&ok);
    if (!ok || rounds < 1 || rounds > 10000000)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts[3].toLatin1());
    if (salt.isEmpty() || expected.size() != keyBytes)
        return false;
    const QByteArray key = derive(password, salt, rounds);
    // Compare every byte, so the time taken says nothing of where they differ.
    unsigned char diff = 0;
    for (int i = 0; i < keyBytes; ++i)
        diff |= static_cast<unsigned char>(key[i] ^ expected[i]);
    return diff == 0;
}
