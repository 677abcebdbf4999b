// A list box over rows that are replaced in one go: thousands of rows cost a
// model reset, not thousands of item insertions.
#pragma once
#include <QAbstractListModel>
#include <QListView>

#include <string>
#include <vector>

class StringRows : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void replace(std::vector<std::string> rows);
    void swap(std::vector<std::string>& rows);
    const std::vector<std::string>& rows() const { return rows_; }

private:
    std::vector<std::string> rows_;
};

class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr, bool fixedPitch = true);

    // Replaces every row; the selection is cleared (row -1) without a click.
    void setRows(std::vector<std::string> rows);
    // Takes the rows over and hands the previous rows back in `rows`, so that
    // a caller that rebuilds its rows every time reuses the buffers.
    void swapRows(std::vector<std::string>& rows);
    void clear() { setRows(std::vector<std::string>{}); }
    int count() const { return int(model_->rows().size()); }
    std::string item(int row) const;

    int listIndex() const { return listIndex_; }
    // Selecting a row, by the user or by code, runs the list's click reaction.
    void setListIndex(int row);

signals:
    void clicked(int row); // the selection reaction
    void mouseUp(int row); // a button released over the list
    void focusLost();
    void focusGained();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    StringRows* model_;
    int listIndex_ = -1;
    bool settingByCode_ = false;
};
