# Tests of the wage record editor
