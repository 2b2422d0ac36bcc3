#pragma once

class QObject;
class QValidator;

// Input rules of the setup pages' free-text fields. Each returns a new validator owned by
// `parent` (normally the line edit it is installed on) that takes text of a limited
// character set and length; every prefix of an acceptable text is acceptable.
class KValidator {
public:
    KValidator();
    ~KValidator();

    // Printable ASCII except ! " % & ' *, at most size - 1 characters (size >= 1).
    static QValidator* All(QObject* parent, unsigned long size);
    // Letters, digits and hyphen, at most 19 characters.
    static QValidator* Hostname(QObject* parent);
    // Letters, digits, full stop, underscore and hyphen, at most 20 characters.
    static QValidator* UserName(QObject* parent);
    static QValidator* UserPass(QObject* parent);
};
