#pragma once

// The lock password's stored form: a salted PBKDF2-SHA256 hash with its
// parameters, "pbkdf2-sha256$<iterations>$<salt>$<hash>" (salt and hash in
// base64). Nothing in it gives the password back.

#include <QString>

// The stored form of a password, with a new random salt.
QString CodificaSenha(const QString& password);

// True when the password matches the stored form.
bool ConfereSenha(const QString& password, const QString& stored);
