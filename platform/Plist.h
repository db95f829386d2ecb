#pragma once
// Property lists over libplist: a move-only owner (Plist) and a non-owning
// view (PlistView) with typed access that answers "absent" (an empty
// optional) on a value of another type. libplist's version differences are
// kept inside PlistCompat.cpp.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

enum class PlistFormat { Xml, Binary };

enum class PlistType { None, Bool, Integer, Real, String, Data, Date, Uid, Array, Dictionary };

class Plist;

// A borrowed node (or none). Valid while the owning Plist lives and the node
// is not removed.
class PlistView {
public:
    PlistView() = default;
    explicit PlistView(void* node) : m_node(node) {}

    bool isNull() const { return m_node == nullptr; }
    PlistType type() const;

    std::optional<bool> toBool() const;
    std::optional<qint64> toInt64() const; // integers that fit in 64 signed bits
    std::optional<double> toReal() const;
    std::optional<QString> toString() const; // UTF-8 decoded
    std::optional<QByteArray> toData() const;
    std::optional<quint64> toUid() const;

    // Arrays and dictionaries; 0 / none for other types.
    int count() const;
    PlistView at(int index) const; // array item, none when out of range
    // All array items in order (empty for other types). Use this to walk an
    // array: libplist 2.2 reaches item n of a parsed array in n steps.
    std::vector<PlistView> items() const;
    // Dictionary entries in order (empty for other types).
    std::vector<std::pair<QString, PlistView>> entries() const;
    std::vector<PlistView> values() const;     // dictionary values in order
    PlistView value(const QString& key) const; // dictionary value, none when missing
    QStringList keys() const;                  // dictionary keys

    Plist clone() const;
    void* node() const { return m_node; }

private:
    void* m_node = nullptr;
};

class Plist {
public:
    Plist() = default;
    ~Plist();
    Plist(Plist&& other) noexcept;
    Plist& operator=(Plist&& other) noexcept;
    Plist(const Plist&) = delete;
    Plist& operator=(const Plist&) = delete;

    // Takes ownership of a libplist node.
    static Plist adopt(void* node);

    static Plist boolean(bool value);
    static Plist integer(qint64 value);
    static Plist real(double value);
    static Plist string(const QString& value);
    static Plist data(const QByteArray& value);
    static Plist uid(quint64 value);
    static Plist array();
    static Plist dictionary();

    // Parses XML or binary property lists; none (and a reason) on anything
    // that is not one, or on input over 64 MiB.
    static Plist fromBytes(const QByteArray& bytes, QString* reason = nullptr);
    static Plist fromFile(const QString& path, QString* reason = nullptr);

    QByteArray toBytes(PlistFormat format) const;
    // Written to a temporary file beside the target and renamed over it; a
    // failure leaves the old file whole and answers false with a reason.
    bool writeToFile(const QString& path, PlistFormat format, QString* reason = nullptr) const;

    bool isNull() const { return m_node == nullptr; }
    PlistView view() const { return PlistView(m_node); }
    PlistType type() const { return view().type(); }

    // Building: the item is moved in and owned by this array or dictionary.
    void append(Plist&& item);
    void insert(const QString& key, Plist&& value);

    void* node() const { return m_node; }
    void* release(); // gives up ownership

private:
    void* m_node = nullptr;
};
