-- 数据字典
INSERT INTO dict_sex (id, name, code) VALUES (1, '男', 'M');
INSERT INTO dict_sex (id, name, code) VALUES (2, '女', 'F');
INSERT INTO dict_level (id, name) VALUES (1, '紧急'), (2, '重要'), (3, '一般');
INSERT INTO dict_state (id, name) VALUES (1, '在线'), (2, '离线');
