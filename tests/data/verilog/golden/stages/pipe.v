//
// created by NOVRA
//	macro    : pipe
//	function : control pipes
//	update   : @TIME@
//


module pipe_3_1_r(
i_1__r_i, i_2__r_i, i_3__r_i,
req_out,
o_1_a_i,
reset
);
input	i_1__r_i, i_2__r_i, i_3__r_i;
output	req_out;
input	o_1_a_i;
input	reset;
	wire	req, ack;
	wire tnm_1_1_r;
	assign tnm_1_1_r = i_1__r_i;
	wire tnm_1_2_r;
	assign tnm_1_2_r = i_2__r_i;
	wire tnm_1_3_r;
	assign tnm_1_3_r = i_3__r_i;
/* synopsys dc_script_begin
   set_dont_touch {mc_1_1_r}
*/
	muller_c_r	mc_1_1_r(
		.a(tnm_1_1_r),
		.b(tnm_1_2_r),
		.q(tnm_2_1_r),
		.reset(reset));
	wire tnm_2_2_r;
	assign tnm_2_2_r = tnm_1_3_r;
/* synopsys dc_script_begin
   set_dont_touch {mc_2_1_r}
*/
	muller_c_r	mc_2_1_r(
		.a(tnm_2_1_r),
		.b(tnm_2_2_r),
		.q(tnm_3_1_r),
		.reset(reset));
	assign req = tnm_3_1_r;
	assign	ack = o_1_a_i;
/* synopsys dc_script_begin
   set_dont_touch mc 
*/
	muller_c_r	mc(.a(req), .b(~ack), .q(req_out), .reset(reset));
endmodule


module pipe_1_3_r(
i_1__r_i,
req_out,
o_1_a_i, o_2_a_i, o_3_a_i,
reset
);
input	i_1__r_i;
output	req_out;
input	o_1_a_i, o_2_a_i, o_3_a_i;
input	reset;
	wire	req, ack;
	assign	req = i_1__r_i;
	wire tnm_1_1_a;
	assign tnm_1_1_a = o_1_a_i;
	wire tnm_1_2_a;
	assign tnm_1_2_a = o_2_a_i;
	wire tnm_1_3_a;
	assign tnm_1_3_a = o_3_a_i;
/* synopsys dc_script_begin
   set_dont_touch {mc_1_1}
*/
	muller_c_r	mc_1_1(
		.a(tnm_1_1_a),
		.b(tnm_1_2_a),
		.q(tnm_2_1_a),
		.reset(reset));
	wire tnm_2_2_a;
	assign tnm_2_2_a = tnm_1_3_a;
/* synopsys dc_script_begin
   set_dont_touch {mc_2_1}
*/
	muller_c_r	mc_2_1(
		.a(tnm_2_1_a),
		.b(tnm_2_2_a),
		.q(tnm_3_1_a),
		.reset(reset));
	assign ack = tnm_3_1_a;
/* synopsys dc_script_begin
   set_dont_touch mc 
*/
	muller_c_r	mc(.a(req), .b(~ack), .q(req_out), .reset(reset));
endmodule


module pipe_4_1_r(
i_1__r_i, i_2__r_i, i_3__r_i, i_4__r_i,
req_out,
o_1_a_i,
reset
);
input	i_1__r_i, i_2__r_i, i_3__r_i, i_4__r_i;
output	req_out;
input	o_1_a_i;
input	reset;
	wire	req, ack;
	wire tnm_1_1_r;
	assign tnm_1_1_r = i_1__r_i;
	wire tnm_1_2_r;
	assign tnm_1_2_r = i_2__r_i;
	wire tnm_1_3_r;
	assign tnm_1_3_r = i_3__r_i;
	wire tnm_1_4_r;
	assign tnm_1_4_r = i_4__r_i;
/* synopsys dc_script_begin
   set_dont_touch {mc_1_1_r}
*/
	muller_c_r	mc_1_1_r(
		.a(tnm_1_1_r),
		.b(tnm_1_2_r),
		.q(tnm_2_1_r),
		.reset(reset));
/* synopsys dc_script_begin
   set_dont_touch {mc_1_3_r}
*/
	muller_c_r	mc_1_3_r(
		.a(tnm_1_3_r),
		.b(tnm_1_4_r),
		.q(tnm_2_2_r),
		.reset(reset));
/* synopsys dc_script_begin
   set_dont_touch {mc_2_1_r}
*/
	muller_c_r	mc_2_1_r(
		.a(tnm_2_1_r),
		.b(tnm_2_2_r),
		.q(tnm_3_1_r),
		.reset(reset));
	assign req = tnm_3_1_r;
	assign	ack = o_1_a_i;
/* synopsys dc_script_begin
   set_dont_touch mc 
*/
	muller_c_r	mc(.a(req), .b(~ack), .q(req_out), .reset(reset));
endmodule


module pipe_20(
i_1__r_i,
i1,
req_out,
o_1_a_i,
reset
);
input	i_1__r_i;
input	i1;
output	req_out;
input	o_1_a_i;
input	reset;
	wire	req, ack, req_guard;
	assign	req = i_1__r_i;
	assign	req_guard = i1;
	assign	ack = o_1_a_i;
/* synopsys dc_script_begin
   set_dont_touch smc 
*/
	muller_c_s	smc(.a(req & req_guard), .b(~ack), .q(req_out), .reset(reset));
endmodule


module pipe_1_2_s(
i_1__r_i,
req_out,
o_1_a_i, o_2_a_i,
reset
);
input	i_1__r_i;
output	req_out;
input	o_1_a_i, o_2_a_i;
input	reset;
	wire	req, ack;
	assign	req = i_1__r_i;
	wire tnm_1_1_a;
	assign tnm_1_1_a = o_1_a_i;
	wire tnm_1_2_a;
	assign tnm_1_2_a = o_2_a_i;
/* synopsys dc_script_begin
   set_dont_touch {mc_1_1}
*/
	muller_c_s	mc_1_1(
		.a(tnm_1_1_a),
		.b(tnm_1_2_a),
		.q(tnm_2_1_a),
		.reset(reset));
	assign ack = tnm_2_1_a;
/* synopsys dc_script_begin
   set_dont_touch mc 
*/
	muller_c_s	mc(.a(req), .b(~ack), .q(req_out), .reset(reset));
endmodule
