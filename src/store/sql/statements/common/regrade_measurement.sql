-- The new grade of the capture: the grade it was captured with stays in captured_grade.
UPDATE measurements SET captured_grade = COALESCE(captured_grade, grade), grade = :grade WHERE id = :id
