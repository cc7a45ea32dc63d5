;;; emacs_test.el --- Emacs with eglot as the language server's client  -*- lexical-binding: t -*-
;; Set up by the recipe of docs/editors.md ($RECIPE): opens a faulty book
;; source in code page 1251, waits for the diagnostics (Flymake) and compares
;; them with what `olyindex --check' printed, hovers a reference, goes to its
;; definition (xref), renames an element and checks the buffer, then mends a
;; line and waits for its error to go. Run by editor_test.sh; what Emacs
;; showed goes to $REPORT, and the exit status is not zero on the first failure.

(package-initialize)
(require 'eglot)
(require 'subr-x)

(defvar olyindex-test-report (getenv "REPORT"))

(defun olyindex-test-say (text)
  (let ((coding-system-for-write 'utf-8))
    (write-region (concat text "\n") nil olyindex-test-report t 'silent)))

(defun olyindex-test-expect (condition text)
  (unless condition
    (olyindex-test-say (concat "FAILED: " text))
    (kill-emacs 1)))

(defun olyindex-test-wait (predicate seconds)
  "Serve the server's messages until PREDICATE holds or SECONDS pass."
  (let ((deadline (+ (float-time) seconds)))
    (while (and (not (funcall predicate)) (< (float-time) deadline))
      (accept-process-output nil 0.02))
    (funcall predicate)))

(defun olyindex-test-line (number)
  (save-excursion
    (goto-char (point-min))
    (forward-line (1- number))
    (buffer-substring-no-properties (line-beginning-position) (line-end-position))))

(defun olyindex-test-goto (line column)
  "Line LINE (from 1), COLUMN characters in."
  (goto-char (point-min))
  (forward-line (1- line))
  (forward-char column))

(load (getenv "RECIPE") nil t)

(let* ((dir (file-name-as-directory (getenv "BOOK_DIR")))
       (expected nil))
  ;; "book.src:12:5: ошибка: message": Flymake must show the same line, column and text.
  (with-temp-buffer
    (let ((coding-system-for-read 'utf-8)) (insert-file-contents (getenv "CHECK")))
    (while (re-search-forward "^book\\.src:\\([0-9]+\\):\\([0-9]+\\): \\([^:]+\\): \\(.*\\)$" nil t)
      (push (format "%05d:%d %s %s" (string-to-number (match-string 1)) (string-to-number (match-string 2))
                    (match-string 3) (match-string 4))
            expected)))
  (olyindex-test-expect expected "--check printed no finding")
  (setq expected (sort expected #'string<))

  (find-file (expand-file-name "book.src" dir))
  (olyindex-test-expect (eq major-mode 'olyindex-mode) (format "the mode is %s" major-mode))
  (olyindex-test-expect (eq (coding-system-base buffer-file-coding-system) (coding-system-base 'cp1251))
                        (format "read as %s" buffer-file-coding-system))
  ;; eglot-ensure connects after the command that opened the file.
  (run-hooks 'post-command-hook)
  (olyindex-test-expect (eglot-current-server) "the server did not start")

  (olyindex-test-expect (olyindex-test-wait (lambda () (= (length (flymake-diagnostics)) (length expected))) 10)
                        (format "diagnostics: %d, --check: %d" (length (flymake-diagnostics)) (length expected)))
  (olyindex-test-say "diagnostics:")
  (let ((shown nil))
    (dolist (d (flymake-diagnostics))
      (let* ((beg (flymake-diagnostic-beg d))
             (text (flymake-diagnostic-text d))
             (severity (if (eq (flymake-diagnostic-type d) 'eglot-error) "ошибка" "предупреждение"))
             (line (line-number-at-pos beg))
             (column (save-excursion (goto-char beg) (1+ (current-column)))))
        (olyindex-test-say (format "  %d:%d %s" line column text))
        ;; Eglot shows "olyindex [code]: message".
        (olyindex-test-expect (string-match "\\`olyindex \\[[a-z-]+\\]: \\(.*\\)\\'" text) (concat "no source and code: " text))
        (push (format "%05d:%d %s %s" line column severity (match-string 1 text)) shown)))
    (setq shown (sort shown #'string<))
    (olyindex-test-expect (equal shown expected) (format "Emacs shows %S, --check %S" shown expected)))

  ;; "Род -- 3" in the section of source 1: the reference 3 is the problem 0/3 1/3 2/1 on line 5.
  (olyindex-test-goto 12 7)
  (let* ((hover (jsonrpc-request (eglot-current-server) :textDocument/hover (eglot--TextDocumentPositionParams)))
         (text (plist-get (plist-get hover :contents) :value)))
    (olyindex-test-expect (stringp text) "hover: nothing")
    (olyindex-test-say (concat "hover on \"3\" in line 12: " (replace-regexp-in-string "\n+" " | " text)))
    (olyindex-test-expect (string-search "Задача № 3" text) "hover does not name problem 3")
    (olyindex-test-expect (string-search "Олимп-1" text) "hover does not show the label of source 1"))
  (call-interactively #'xref-find-definitions)
  (let ((row (line-number-at-pos)))
    (olyindex-test-say (format "definition of \"3\" in line 12: line %d: %s" row (olyindex-test-line row)))
    (olyindex-test-expect (= row 5) (format "definition went to line %d, not 5" row)))

  ;; "Падеж" stands on lines 11, 13 and 18.
  (olyindex-test-goto 11 2)
  (eglot-rename "Падежи")
  (olyindex-test-expect (equal (olyindex-test-line 18) "Падежи -- 2") (concat "rename: line 18 is " (olyindex-test-line 18)))
  (olyindex-test-expect (and (equal (olyindex-test-line 11) "Падежи -- 1, 2*") (equal (olyindex-test-line 13) "Падежи -- 3"))
                        "rename missed line 11 or 13")
  (olyindex-test-expect (equal (olyindex-test-line 12) "Род -- 3") "rename changed line 12")
  (olyindex-test-say (format "after renaming Падеж: 11 \"%s\", 13 \"%s\", 18 \"%s\""
                             (olyindex-test-line 11) (olyindex-test-line 13) (olyindex-test-line 18)))

  ;; Mending the line without "--" takes its error away after the next change.
  (let ((before (length (flymake-diagnostics))))
    (olyindex-test-goto 14 5)
    (insert " --")
    ;; Eglot sends changes from an idle timer, which batch mode never runs.
    (eglot--signal-textDocument/didChange)
    (olyindex-test-expect (olyindex-test-wait (lambda () (= (length (flymake-diagnostics)) (1- before))) 5)
                          (format "after mending line 14: %d diagnostics, expected %d" (length (flymake-diagnostics)) (1- before)))
    (olyindex-test-say (format "after typing \" --\" into line 14: %d diagnostics (were %d)" (length (flymake-diagnostics)) before)))

  (set-buffer-modified-p nil)
  (eglot-shutdown (eglot-current-server))
  (olyindex-test-say "ok")
  (kill-emacs 0))
