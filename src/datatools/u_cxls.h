#pragma once
#include "secondarywindow.h"

#include <QPrinter>

#include <memory>

class QPlainTextEdit;
class QPushButton;

namespace binding {
class DataSource;
class DBGrid;
class DBMemo;
class DBNavigator;
} // namespace binding
namespace storage {
class Dataset;
}

// Path of the default log file, UserDir + "cx_jg.rst"; set at every opening of the results log.
extern QString LogFile;

// The results log manager: the stored results of cx_jl.db on the left, the working text of a
// result file in the middle (gathered with "导入", loaded, saved and printed), buttons on the right.
class Tfrmcxls : public SecondaryWindow {
    Q_OBJECT
public:
    Tfrmcxls();

    void BitBtn1Click();  // 打开
    void BitBtn2Click();  // 导入
    void BitBtn9Click();  // 保存
    void BitBtn10Click(); // 另存为
    void BitBtn11Click(); // 清空
    void BitBtn12Click(); // 打印
    void BitBtn13Click(); // 退出
    void FormClose();

    // The pane's text with CR LF line ends, as files hold it.
    QString paneText() const;
    void setPaneText(const QString &crlfText);

    binding::DBGrid *DBGrid1;
    binding::DBNavigator *DBNavigator1;
    binding::DBMemo *DBMemo1;
    QPushButton *BitBtn2;
    QPlainTextEdit *Memo1;
    QPushButton *BitBtn1, *BitBtn9, *BitBtn10, *BitBtn11, *BitBtn12, *BitBtn13;
    storage::Dataset *T_cx;
    binding::DataSource *ds_cx;
    // The printer the print dialog sets up; it keeps the user's choices between print jobs. Made
    // at the first print: setting up printing support at start-up would delay every start.
    QPrinter &PrintDialog1();

protected:
    void FormShow() override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Before the pane's text is replaced or the window closes: true when nothing the user changed
    // would be lost (unchanged, saved to the default log file, or the user chose to discard it).
    bool mayDropPane();
    QString m_dialogDir;
    QString m_kept; // the pane's text as last loaded or saved, or as the user chose to drop it
    std::unique_ptr<QPrinter> m_printer;
};

extern Tfrmcxls *frmcxls;
