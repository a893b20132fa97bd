// Kelmora — 记入凭证: the blocks a window has printed, each with a
// checkbox, posted as vouchers once every chosen one balances.
#pragma once

#include <QDialog>
#include <vector>

#include "book/blocks.h"

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelmora {

class Window;

class PostDialog : public QDialog {
    Q_OBJECT
public:
    PostDialog(const Window& w, QWidget* parent);

    // The chosen blocks as drafts, in print order; empty when one of them
    // does not balance.
    std::vector<book::Workbook::Draft> drafts() const;
    // The numbers the vouchers got, once posted.
    const std::vector<int>& posted() const { return posted_; }

    void accept() override;

private:
    struct RowWidgets {
        QComboBox* side;
        QLineEdit* amount;
        std::string account;
    };
    struct BlockWidgets {
        QGroupBox* box;
        QLineEdit* summary;
        QLabel* status;
        std::vector<RowWidgets> rows;
    };
    // The block's lines as they stand in the dialog, or what is wrong with them.
    std::optional<std::string> read(const BlockWidgets& b, std::vector<book::Line>* lines) const;
    void update();

    QDateEdit* date_ = nullptr;
    std::vector<BlockWidgets> blocks_;
    QPushButton* post_ = nullptr;
    QLabel* hint_ = nullptr;
    std::vector<int> posted_;
};

}  // namespace kelmora
