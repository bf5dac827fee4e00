#pragma once

// The lock password's stored form: a salted PBKDF2-SHA256 hash with its
// parameters, "pbkdf2-sha256$<iterations>$<salt>$<hash>" (salt and hash in
// base64). Nothing in it gives the password back.

#include <QString>

// The stored form of a password, with a new random salt.
QString CodificaSenha(const QString& password);

// What a lock row's stored form holds. Earlier versions stored the password
// with every character code raised by one same small amount, which the file
// does not record; a stored form that is not a hash is taken to be that.
enum class StoredForm {
    Hash,
    Legacy,
    Unreadable, // empty, or a hash that has lost its parts: no password can match it
};
StoredForm StoredFormOf(const QString& stored);

// True when the password matches the stored form: the hash, or the earlier
// form raised by an amount from 1 to 9.
bool ConfereSenha(const QString& password, const QString& stored);
